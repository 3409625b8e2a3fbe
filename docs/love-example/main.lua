-- A body from the module that `morvet-tool export OUT.lua` wrote, saved here as object.lua.
function love.load()
  local object = require("object")
  love.physics.setMeter(object.meter) -- before anything is made in pixels
  local world = love.physics.newWorld(0, 9.81 * object.meter)
  local body = love.physics.newBody(world, 0, 0, "dynamic")
  body:setFixedRotation(object.fixedRotation)
  -- Density 0: each fixture added resets the mass data, and one with density far
  -- from the origin can leave Box2D an inertia below zero. The mass data comes last.
  for _, p in ipairs(object.polygons) do
    love.physics.newFixture(body, love.physics.newPolygonShape(p), 0)
  end
  for _, c in ipairs(object.circles) do
    love.physics.newFixture(body, love.physics.newCircleShape(c.x, c.y, c.radius), 0)
  end
  local m = object.massData
  body:setMassData(m.x, m.y, m.mass, m.inertia)
  local cx, cy = body:getLocalCenter()
  print(string.format("%.9g %.9g %.9g %.9g", body:getMass(), body:getInertia(), cx, cy))
  love.event.quit()
end
