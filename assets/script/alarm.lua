-- A trigger area that swells while a player stands in it.
-- It keeps one pool collider over its own quad for as long as it lives.

local sensor
local restScale
intruders = 0

function init(entity)
    sensor = GetBoxCollider()
    if not sensor then
        return
    end
    sensor.parent = entity
    sensor:SetBound(true)
    sensor.layer = CollisionLayer.new(Layer.base, Layer.team1 | Layer.team2)
    restScale = entity:GetTransform().scale
end

function update(entity, dt)
    if not sensor then
        return
    end
    intruders = RunBoxCollision(sensor).numCollisions
    local scale = vec2.new()
    local grow = intruders > 0 and 1.25 or 1
    scale.x = restScale.x * grow
    scale.y = restScale.y * grow
    entity:GetTransform().scale = scale
end

function exit(entity)
    if sensor then
        FreeBoxCollider(sensor:GetID())
        sensor = nil
    end
end
