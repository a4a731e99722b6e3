#pragma once

#include "commandline.h"

#include "platform/accesspolicy.h"

// The access policy a command line asks for. /confine keeps the run inside
// the folder of the report given with /f and away from database servers;
// each "/allowhost HOST[:PORT]" allows one server, and confines the run as
// /confine does. Without either the run is unconfined.
AccessPolicy accessPolicyFor(const CommandLine &commandLine, const QString &programDir);
