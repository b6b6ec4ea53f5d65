// The fault-injecting file system under the names the Qt window's tests still use.
#pragma once

#include "res/FileSystem.h"
#include "support/FaultInjectingFileSystem.h"

namespace rw::scenario {

using res::ScopedFileSystem;
using support::FaultInjectingFileSystem;
using support::FileOp;

}  // namespace rw::scenario
