-- Keeps its parent entity in a global until told to let go.
function init(entity)
    kept = entity:GetParent()
end
function update(entity, dt)
    if letGo then
        kept = nil
        collectgarbage()
        collectgarbage()
    end
end
function exit(entity) end
