function init(entity)
    error("the crate has no lid")
end
function update(entity, dt) updated = true end
function exit(entity) end
