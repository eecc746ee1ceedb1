#pragma once

// What a fuzz target promises beyond "no crash": a broken promise is a finding. Under
// libFuzzer it aborts with the message, so the input is saved; in the test suite's replay of
// the corpora it is a test failure.
void FuzzCheck(bool ok, const char* promise);
