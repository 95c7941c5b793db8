// What every window of the main program is given: the program directory, the seams, the
// service hosts and the network client. Wired once in main.cpp (or by a test).
#pragma once

#include "common/seams.h"
#include "common/services.h"

#include <QString>
#include <QTime>

#include <functional>

class HttpClient;

struct AppContext
{
    QString programDir;
    Seams seams;
    ServiceHosts hosts;
    HttpClient *http = nullptr;
    // How long start-up waits for the ticker text before it shows the window without it.
    int tickerTimeoutMs = 5000;
    // The clock of the log pane.
    std::function<QTime()> clock = [] { return QTime::currentTime(); };
};
