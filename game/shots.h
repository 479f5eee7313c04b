// The player's shot at the EnemyBoard.
#pragma once

// Fires at the cell, in Battle, on the player's turn, if it has not been fired at; false
// when nothing happened.
bool FireAtEnemyCell(int x, int y);

// Whether FireAtEnemyCell would fire at the cell now.
bool CanFireAtEnemyCell(int x, int y);

// After a Deck at (x, y) turned EnemyHit: whether that sank its ship.
bool HitEnemyShip(int x, int y);
