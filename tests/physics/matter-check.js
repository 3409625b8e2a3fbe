// Builds a Matter body from an exported file with Phaser's own
// PhysicsEditorParser and its bundled Matter, runs docs/morvet-matter.js over
// it, and prints what the body holds as JSON. NODE_PATH finds phaser.
'use strict';
const fs = require('fs');
const Parser = require('phaser/src/physics/matter-js/PhysicsEditorParser');
const Body = require('phaser/src/physics/matter-js/lib/body/Body');
const Vertices = require('phaser/src/physics/matter-js/lib/geometry/Vertices');
const MorvetMatter = require(process.argv[3]);

const name = process.argv[4];
const entry = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'))[name];
// The parser sorts the vertex lists it is given: keep the file's own.
const file = JSON.parse(JSON.stringify(entry));
const body = Parser.parseBody(300, 200, entry);
const matterMass = body.mass;

// How far Phaser moved the file's frame, found from one piece on its own: the
// first polygon's leftmost corner, or the first disc's centre.
let shift = null;
file.fixtures.forEach((f, i) => {
  if (shift) return;
  const part = body.parts[i + 1];
  if (f.circle) {
    shift = { x: part.position.x - f.circle.x, y: part.position.y - f.circle.y };
    return;
  }
  const leftmost = (vs) => vs.reduce((a, b) => (b.x < a.x || (b.x === a.x && b.y < a.y) ? b : a));
  const w = leftmost(part.vertices), v = leftmost(f.vertices[0]);
  shift = { x: w.x - v.x, y: w.y - v.y };
});

MorvetMatter.apply({ Body }, body, entry);
const convex = body.parts.slice(1).every((p) => Vertices.isConvex(p.vertices) === true);
process.stdout.write(
  JSON.stringify({
    parts: body.parts.length - 1,
    matterMass,
    mass: body.mass,
    inertia: body.inertia,
    // The body's center in the file's frame: the center of mass is its origin.
    x: body.position.x - shift.x,
    y: body.position.y - shift.y,
    convex,
  }) + '\n'
);
