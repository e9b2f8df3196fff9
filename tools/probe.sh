#!/usr/bin/env bash
# What this machine can run, found by trying rather than guessed from its
# architecture's name. Sourced by the other scripts; each probe prints one
# line of its own words and answers with its exit status.
#
#   probe_x86_64   can the kernel run 64-bit x86 programs?
#   probe_i386     can it run 32-bit x86 programs?
#   probe_wine64   do the 64-bit Windows programs run under Wine here?
#   probe_wine32   do the 32-bit ones?
#   pick_build     win32 where it runs, else win64 (prints the reason to stderr)
#
# MX_NO_WIN32=1 or MX_NO_WIN64=1 makes the matching Wine probe answer no, so
# that the skipping paths can be tried on any machine.

# Wine's loaders as Debian installs them: wine32 brings the 32-bit one, wine64
# the 64-bit one. Debian's `wine` command always picks the 32-bit loader when
# it is installed, even where it cannot run, so the scripts call these.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Runs a minimal static ELF program of the given class, written here byte by
# byte: it only calls exit(0). Whether the kernel starts it is the answer.
run_tiny_elf() {
    local class=$1 file
    file=$(mktemp "${TMPDIR:-/tmp}/mx-probe.XXXXXX")
    if [ "$class" = i386 ]; then
        # ELF32 header, one PT_LOAD program header mapping just the code, then
        # mov eax,1 / xor ebx,ebx / int 0x80.
        printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$file"
        printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$file"
        printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$file"
        printf '\x00\x00\x00\x00\x01\x00\x00\x00\x54\x00\x00\x00\x54\x80\x04\x08' >>"$file"
        printf '\x54\x80\x04\x08\x09\x00\x00\x00\x09\x00\x00\x00\x05\x00\x00\x00' >>"$file"
        printf '\x01\x00\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >>"$file"
    else
        # ELF64 header, one PT_LOAD program header, then
        # mov eax,60 / xor edi,edi / syscall.
        printf '\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$file"
        printf '\x02\x00\x3e\x00\x01\x00\x00\x00\x78\x00\x40\x00\x00\x00\x00\x00' >>"$file"
        printf '\x40\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >>"$file"
        printf '\x00\x00\x00\x00\x40\x00\x38\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$file"
        printf '\x01\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >>"$file"
        printf '\x00\x00\x40\x00\x00\x00\x00\x00\x00\x00\x40\x00\x00\x00\x00\x00' >>"$file"
        printf '\x81\x00\x00\x00\x00\x00\x00\x00\x81\x00\x00\x00\x00\x00\x00\x00' >>"$file"
        printf '\x00\x10\x00\x00\x00\x00\x00\x00' >>"$file"
        printf '\xb8\x3c\x00\x00\x00\x31\xff\x0f\x05' >>"$file"
    fi
    chmod +x "$file"
    local words status=0
    words=$("$file" 2>&1) || status=$?
    rm -f "$file"
    if [ "$status" -ne 0 ]; then
        # The shell names the program, then gives the kernel's reason.
        words=${words##*"$file": }
        echo "${words:-exit status $status}"
        return 1
    fi
}

probe_x86_64() {
    local why
    if why=$(run_tiny_elf x86_64); then
        echo "64-bit x86 programs run here"
    else
        echo "64-bit x86 programs do not run here ($why)"
        return 1
    fi
}

probe_i386() {
    local why
    if why=$(run_tiny_elf i386); then
        echo "32-bit x86 programs run here"
    else
        echo "32-bit x86 programs do not run here ($why)"
        return 1
    fi
}

# Asks a Wine loader its version: that starts the loader itself.
probe_loader() {
    local loader=$1 package=$2 words
    if [ ! -x "$loader" ]; then
        echo "$loader is missing (Debian package $package)"
        return 1
    fi
    if ! words=$("$loader" --version 2>&1); then
        echo "$loader does not start: $(echo "$words" | tail -n 1)"
        return 1
    fi
    echo "$words runs here ($loader)"
}

probe_wine64() {
    if [ -n "${MX_NO_WIN64:-}" ]; then
        echo "MX_NO_WIN64 is set"
        return 1
    fi
    probe_x86_64 >/dev/null || { probe_x86_64; return 1; }
    probe_loader "$WINE64_LOADER" wine64
}

probe_wine32() {
    if [ -n "${MX_NO_WIN32:-}" ]; then
        echo "MX_NO_WIN32 is set"
        return 1
    fi
    probe_i386 >/dev/null || { probe_i386; return 1; }
    probe_loader "$WINE32_LOADER" wine32:i386
}

# The build to run here: the 32-bit program as specified where it can run,
# else the 64-bit one. Prints the build's name, and why, on standard error.
pick_build() {
    local why why64
    if why=$(probe_wine32); then
        echo "Using the 32-bit MX.EXE: $why." >&2
        echo win32
    elif why64=$(probe_wine64); then
        echo "Using the 64-bit MX.EXE, as the 32-bit one cannot run here: $why." >&2
        echo win64
    else
        echo "Neither Windows build can run here: 32-bit: $why; 64-bit: $why64." >&2
        return 1
    fi
}
