#pragma once
// The web-service client's host over the application object.

#include "webclient/operation_host.h"

// Answers from theApp's members and stores into them.
COperationHost& AppOperationHost();
