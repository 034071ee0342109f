-- Grows without end, and catches the error that stops it.
function update(self, dt)
    local hoard = {}
    caught = not pcall(function()
        while true do hoard[#hoard + 1] = string.rep("x", 4096) .. #hoard end
    end)
    afterwards = (afterwards or 0) + 1
end

function init(self) end
function exit(self) end
