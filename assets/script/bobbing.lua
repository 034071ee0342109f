-- Floats a platform or a prop up and down around where it was placed.
-- Give the entity a Transform; change the numbers below to taste.

local height = 0.5  -- how far above and below its start it goes, in tiles
local period = 3.0  -- seconds for one full bob

local start
local clock = 0

function init(entity)
    start = entity:GetTransform():GetPosition()
    clock = 0
end

function update(entity, dt)
    clock = clock + dt
    local offset = height * math.sin(clock * 2 * math.pi / period)
    entity:GetTransform():SetPosition(start.x, start.y + offset)
end

function exit(entity)
    -- Leave it where it started.
    entity:GetTransform():SetPosition(start.x, start.y)
end
