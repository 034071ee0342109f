-- Each state has its own copy of this global.
count = 0
function init(entity) end
function update(entity, dt) count = count + 1 end
function exit(entity) end
