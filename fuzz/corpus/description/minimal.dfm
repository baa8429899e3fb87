object A: TB
end
