#!/bin/sh
# Runs one Windows test program under Wine, in the prefix that scripts/test.sh prepared.
exec wine "$@"
