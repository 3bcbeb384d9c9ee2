#pragma once

namespace bench {

struct Session;

// Koniec's compaction, the archive and the restore, each chosen as the user
// chooses it and timed until the program is back (or gone, for Koniec),
// each beside its anchor and with the longest stall of the window thread.
void fileFigures(Session &s);

} // namespace bench
