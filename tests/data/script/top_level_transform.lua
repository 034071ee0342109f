local template = Transform.new()
function init(entity) end
function update(entity, dt) end
function exit(entity) end
