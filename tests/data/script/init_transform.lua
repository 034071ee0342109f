function init(entity)
    made = Transform.new()
end
function update(entity, dt) end
function exit(entity) end
