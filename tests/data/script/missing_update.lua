function init(entity) end
function exit(entity) end
