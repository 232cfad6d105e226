#pragma once
// Start-up state the page tests need: the application object, resources,
// fonts of the chosen language and the version texts.
#include <QString>

void EnsureApplication();
// Switches the interface language and its fonts (creating the application
// first, so the choice is not undone by its start-up).
void UseLanguage(int code);
