function init(entity) end
function update(entity, dt)
    while true do end
end
function exit(entity) end
