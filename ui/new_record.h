// The congratulation screen shown before the table when a player takes first place.
#pragma once

// One frame of the new-record screen; a click goes on to the table.
void runNewRecord();
