#pragma once

// The exit statuses of the command line, as the README, `mirt /help` and the
// manual page list them.
enum ExitStatus
{
    ExitSuccess = 0,
    ExitCannotLoad = 1,   // the report cannot be read
    ExitNoConnection = 2, // its connection cannot be opened
    ExitRunErrors = 3,    // written, but a query or formula failed
    ExitCannotWrite = 4,  // an output cannot be written, or printing failed
    ExitUsage = 5,        // the command line cannot be used as written
    ExitLimitReached = 6, // /maxpages or /timeout stopped the run
};
