function init(entity) end
function update(entity, dt)
    local transform = entity:GetTransfrom()
end
function exit(entity) end
