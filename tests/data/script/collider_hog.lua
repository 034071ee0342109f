-- Takes pool colliders until it is stopped, and catches the error.
function init(self)
    hoard = {}
    caught = not pcall(function()
        while true do hoard[#hoard + 1] = GetBoxCollider() end
    end)
end

function update(self, dt) updated = true end
function exit(self) end
