object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
object A: TB
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
