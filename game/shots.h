// The player's shot at the EnemyBoard.
#pragma once

// Fires at the cell, in Battle, on the player's turn, if it has not been fired at; false
// when nothing happened.
bool FireAtEnemyCell(int x, int y);

// Whether FireAtEnemyCell would fire at the cell now.
bool CanFireAtEnemyCell(int x, int y);
