#pragma once

#include "com/Error.h"

#include <gtest/gtest.h>

// The com::Error that `statement` raises; a test failure when it raises none.
template <typename Statement>
com::Error caughtError(Statement&& statement)
{
    try {
        statement();
    } catch (const com::Error& error) {
        return error;
    }
    ADD_FAILURE() << "no error was raised";
    return com::Error(0, {}, {});
}
