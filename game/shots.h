// The player's shot at the EnemyBoard.
#pragma once

// px, py: client coordinates of a left-button press. Fires only at a cell strictly inside
// the board, in Battle, on the player's turn; otherwise leaves the press to the drag.
void FireAtEnemy(unsigned px, unsigned py);

// After a Deck at (x, y) turned EnemyHit: 1 when that sank its ship, else 0.
int HitEnemyShip(int x, int y);
