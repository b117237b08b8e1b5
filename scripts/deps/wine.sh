#!/usr/bin/env bash
# The Windows tests run 32-bit programs under Wine, whose 32-bit part
# (wine32:i386) needs the i386 architecture. The package lists are read
# again until they know that architecture.
set -euo pipefail
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
if ! apt-cache policy wine32:i386 2>/dev/null | grep -q 'Candidate: [0-9]'; then
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
fi
