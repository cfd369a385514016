#pragma once

// From just before SDL starts, SIGINT and SIGTERM ask the frame loop to end as Escape does.
// Installing starts with no request pending.
void installStopHandlers();

// Gives SIGINT and SIGTERM their default behaviour back.
void restoreDefaultStopHandlers();

// Whether SIGINT or SIGTERM has arrived since the handlers were installed.
bool stopRequested();
