-- Reaches its own entity through a collider's parent and keeps it.
function init(self)
    sensor = GetBoxCollider()
    sensor.parent = self
    me = sensor.parent
end

function update(self, dt) end
function exit(self) end
