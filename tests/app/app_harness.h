// A main program's context for window tests: a temporary program directory, recording seams, a
// network client, and the outside services pointed at a fixture server.
#pragma once

#include "app/app_context.h"
#include "common/http.h"
#include "fake_seams.h"
#include "fixture_server.h"
#include "temp_program_dir.h"

#include <QTime>

struct AppHarness
{
    explicit AppHarness(FixtureServer &server, TempProgramDir::Content content =
                                                   TempProgramDir::FromTemplate)
        : dir(content)
    {
        context.programDir = dir.path();
        context.seams = fakes.seams();
        context.http = &http;
        for (const QString &key : ServiceHosts::keys())
            context.hosts.set(key, server.url(QStringLiteral("/") + key));
        context.hosts.set(QStringLiteral("vendor"), server.url(QString()));
        context.tickerTimeoutMs = 2000;
        context.clock = [this] { return now; };
    }

    TempProgramDir dir;
    FakeSeams fakes;
    HttpClient http;
    AppContext context;
    QTime now = QTime(9, 7);
};
