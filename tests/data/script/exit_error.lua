function init(entity) end
function update(entity, dt) end
function exit(entity)
    entity:GetTransform():SetPosition("left", 0)
end
