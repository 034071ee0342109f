-- Does nothing: the tests run their own snippets in its state.
function init(entity) end
function update(entity, dt) end
function exit(entity) end
