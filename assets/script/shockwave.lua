-- Every few seconds, throws every player touching this entity away from it.
-- The blast covers the entity's own quad, so scale the Transform to make it
-- bigger.

local interval = 2.0 -- seconds between blasts
local strength = 12  -- speed given to each player hit, tiles per second

local untilBlast = interval
blasts = 0
thrown = 0

local function blast(entity)
    local probe = GetBoxCollider()
    if not probe then
        return -- every pool collider is in use; try again next time
    end
    probe.parent = entity
    probe:SetBound(true)
    probe.layer = CollisionLayer.new(Layer.base, Layer.team1 | Layer.team2)

    local result = RunBoxCollision(probe)
    local centre = entity:GetTransform():GetPosition()
    for i = 0, math.min(result.numCollisions, 5) - 1 do
        local victim = result:GetBoxCollision(i).parent
        local body = victim and victim:GetBody()
        if body then
            local away = victim:GetTransform():GetPosition()
            local dx, dy = away.x - centre.x, away.y - centre.y
            local length = math.sqrt(dx * dx + dy * dy)
            if length > 0 then
                local push = vec2.new()
                push.x = dx / length * strength
                push.y = dy / length * strength
                body:SetVelocity(push)
                thrown = thrown + 1
            end
        end
    end

    FreeBoxCollider(probe:GetID())
    blasts = blasts + 1
end

function init(entity)
    untilBlast = interval
end

function update(entity, dt)
    untilBlast = untilBlast - dt
    if untilBlast <= 0 then
        untilBlast = untilBlast + interval
        blast(entity)
    end
end

function exit(entity)
end
