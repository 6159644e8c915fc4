// The line feeder of the strict readers (the history report, the live view): a stats file's bytes cut
// into lines for a RowReader, as statsfile/LineCutting.h cuts them.
#pragma once

#include "statsfile/LineCutting.h"
#include "statsfile/RowReader.h"

using LineFeeder = BasicLineFeeder<RowReader>;
