-- Makes a creature with a body hop every time it lands on the level.
-- It needs an AdvancedBody (with some gravity as its acceleration).

local hopSpeed = 8  -- upward speed of each hop, tiles per second
local sideSpeed = 2 -- sideways speed while hopping; flips at walls

hops = 0

function init(entity)
    local body = entity:GetBody()
    if body then
        body:CreateDetectorSet(Layer.world)
    end
end

function update(entity, dt)
    local body = entity:GetBody()
    if not body then
        return
    end
    if body:CollisionDetected(Layer.world, Detector.left) then
        sideSpeed = math.abs(sideSpeed)
    elseif body:CollisionDetected(Layer.world, Detector.right) then
        sideSpeed = -math.abs(sideSpeed)
    end
    if body:CollisionDetected(Layer.world, Detector.bottom) then
        local velocity = body.velocity
        velocity.x = sideSpeed
        velocity.y = hopSpeed
        body.velocity = velocity
        hops = hops + 1
    end
end

function exit(entity)
end
