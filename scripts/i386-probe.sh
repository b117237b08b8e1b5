#!/usr/bin/env bash
# Can this machine run 32-bit x86 Linux programs? Wine's 32-bit part, which
# runs the Windows tests and the installer checks, is such a program. Some
# hosts run 64-bit programs only: their kernel's IA-32 emulation is off and
# starting any i386 program fails with "Exec format error". The answer comes
# from starting an i386 program that the wine packages install, not from
# dmesg (unreadable in many containers) nor from the kernel's name.
#
#   scripts/i386-probe.sh     prints "yes" and ends with status 0 when it
#                             can; prints the reason and ends with status 1
#                             when it cannot
#
# Sourced by the ci scripts, it gives them:
#   i386_probe                status 0 when the machine can run i386
#                             programs; otherwise 1, with the reason in
#                             $i386_reason
#   wine_not_run WHAT SCRIPT  WHAT (for example "wine ci: Windows tests")
#                             cannot run here: writes the line that says so
#                             and how to run SCRIPT elsewhere, adds it to
#                             the file $DERIZE_NOT_RUN_FILE when that is
#                             set (.ci/run repeats it in its summary), and
#                             ends the script with status 1 (the line on
#                             standard error) when DERIZE_REQUIRE_WINE=1;
#                             otherwise it returns and the caller skips
#                             what needs Wine.
#
# DERIZE_ASSUME_NO_I386=1 takes the path of a machine without 32-bit
# support on any machine, so that the path is exercised where 32-bit
# programs do run.

i386_probe() {
    i386_reason=
    if [ "${DERIZE_ASSUME_NO_I386:-0}" = 1 ]; then
        i386_reason="DERIZE_ASSUME_NO_I386=1 treats this machine as one that cannot run 32-bit programs"
        return 1
    fi
    # Wine's 32-bit loader, its 32-bit wineserver, and the i386 dynamic
    # loader that wine32 pulls in: the first one that is there is started.
    local program output
    for program in /usr/lib/wine/wine /usr/lib/wine/wineserver32 /lib/ld-linux.so.2; do
        [ -x "$program" ] || continue
        # Only the exec failure counts: whatever the program itself says
        # or does once it has started, the machine can run it. bash execs
        # it, as timeout's execvp would hand a file it cannot exec to
        # /bin/sh as a script.
        output=$(LC_ALL=C timeout 30 bash -c 'exec "$0" --version' "$program" 2>&1 </dev/null) || true
        if grep -q 'Exec format error' <<<"$output"; then
            i386_reason="this machine cannot run 32-bit programs (i386 exec format error)"
            return 1
        fi
        return 0
    done
    # Nothing to try: Wine's 32-bit part is not installed, which the ci
    # scripts report as a missing package of their own.
    return 0
}

wine_not_run() {
    local line="$1 NOT RUN: $i386_reason; run $2 on a machine with 32-bit support"
    if [ -n "${DERIZE_NOT_RUN_FILE:-}" ]; then
        echo "$line" >>"$DERIZE_NOT_RUN_FILE"
    fi
    if [ "${DERIZE_REQUIRE_WINE:-0}" = 1 ]; then
        echo "$line" >&2
        exit 1
    fi
    echo "$line"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    if i386_probe; then
        echo yes
    else
        echo "$i386_reason"
        exit 1
    fi
fi
