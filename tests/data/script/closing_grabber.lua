-- Keeps a pool collider and its parent entity in a table whose finalizer, run
-- when the state closes, tries to take more of both.
function init(self)
    held = setmetatable({ collider = GetBoxCollider(), parent = self:GetParent() }, {
        __gc = function(t)
            grabbed = { GetBoxCollider(), GetBoxCollider(), self:GetParent(), CollisionLayer.new() }
        end,
    })
end

function update(self, dt) end
function exit(self) end
