function init(entity)
    error({ code = 7 })
end
function update(entity, dt) end
function exit(entity) end
