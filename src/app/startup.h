// Start-up of the main program: single instance, skin, main window.
#pragma once

#include <QString>

#include <memory>

struct AppContext;
class FrmMain;
class SingleInstance;

// Applies programDir/skinh.she as the application's style sheet; the default look without it.
void applySkin(const QString &programDir);

// Runs start-up. Returns nullptr when start-up ends the program (another instance is running, or
// the dictionary is missing); the user has then been told. Otherwise the window shows itself once
// its load handler has ended.
std::unique_ptr<FrmMain> startMorvane(AppContext &context, SingleInstance &instance);
