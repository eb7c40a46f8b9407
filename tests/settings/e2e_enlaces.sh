#!/usr/bin/env bash
# The ways out of the program on a real display, where Qt hands addresses to xdg-open:
# the links test with a stand-in xdg-open (made by the test), then the same commands
# with nothing on the PATH to open anything.
#   e2e_enlaces.sh TEST_ENLACES TEST_SIN_MANEJADOR
set -euo pipefail
source "$(dirname "$0")/../e2e/harness.sh"
e2e_start links
e2e_step "with xdg-open"
"$1" || e2e_fail "the links test failed"
e2e_step "without any program to open addresses"
"$2" || e2e_fail "the test without a URL handler failed"
echo PASS
