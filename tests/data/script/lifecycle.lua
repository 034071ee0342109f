inits = 0
updates = 0
times = {}
seen = ""
local collider

function init(entity)
    inits = inits + 1
    seen = entity:GetName() .. "#" .. entity:GetID()
    collider = GetBoxCollider()
    colliderID = collider:GetID()
end

function update(entity, dt)
    updates = updates + 1
    times[#times + 1] = dt
end

-- Marks the transform so a test can see that exit ran, and with whom.
function exit(entity)
    FreeBoxCollider(collider:GetID())
    entity:GetTransform():SetPosition(#entity:GetName(), entity:GetID())
end
