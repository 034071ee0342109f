-- Takes two pool colliders and never frees them.
function init(entity)
    first = GetBoxCollider()
    second = GetBoxCollider()
end
function update(entity, dt) end
function exit(entity) end
