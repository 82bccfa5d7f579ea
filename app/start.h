#pragma once

#include <functional>

class Tavola;

// A run of the game, from the application object to the end of its event
// loop; returns the exit status. beforeShow, when given, gets the window
// object before it is loaded and shown (a test program adds to it there).
int startGame(int argc, char *argv[], const std::function<void(Tavola &)> &beforeShow = {});
