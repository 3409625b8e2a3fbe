// After Phaser 3 (PhysicsEditorParser, scene.matter.add.fromPhysicsEditor) has
// built a Matter body from a file that `morvet-tool export --format phaser`
// wrote, gives the body the object's center of mass, mass and inertia, which
// the layout itself cannot carry: Phaser puts the body's center on Matter's
// centroid, and Matter sums its parts' inertias without the parallel-axis term.
//
//   const shapes = this.cache.json.get('shapes');
//   const body = this.matter.add.fromPhysicsEditor(400, 300, shapes.wheel).body;
//   MorvetMatter.apply(Phaser.Physics.Matter.Matter, body, shapes.wheel);
//
// Call it right after the body is built, before it has turned.
(function (root) {
  'use strict';

  function apply(Matter, body, entry) {
    const m = (entry && entry.morvet) || body.morvet;
    // The first piece is body.parts[1]; where Matter put its centre, less
    // where that centre lies from the center of mass, is the center of mass.
    const first = body.parts[1];
    const centre = {
      x: first.position.x - m.firstPieceCentre.x,
      y: first.position.y - m.firstPieceCentre.y,
    };
    Matter.Body.setMass(body, m.mass);
    // setMass scales the inertia; Morvet's replaces it.
    Matter.Body.setInertia(body, m.mayRotate ? m.inertia : Infinity);
    Matter.Body.setCentre(body, centre, false);
    return body;
  }

  const MorvetMatter = { apply: apply };
  if (typeof module !== 'undefined' && module.exports) module.exports = MorvetMatter;
  else root.MorvetMatter = MorvetMatter;
})(this);
