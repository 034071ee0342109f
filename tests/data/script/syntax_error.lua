function init(entity)
    local x = = 1
end
