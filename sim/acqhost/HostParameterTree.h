// The host's own parameter-info tree, in the entry layout the libraries read:
// two roots, nested categories, and one entry of every kind an applet may or
// may not mirror. Built once, kept while the host library is loaded.
#pragma once

#include "ParameterInfoRegistry.h"

velm::ParameterInfoRegistry& hostParameterTree();
