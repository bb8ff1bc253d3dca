#pragma once

// For the start-up benchmark: with TABLITOR_EXIT_WHEN_SHOWN set in the environment, the program
// ends with status 0 as soon as its first window has been exposed and drawn. Without it, nothing.
void ExitWhenFirstShownIfAsked();
