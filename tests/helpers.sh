# shellcheck shell=bash
# Sourced by every case of tests/program_test.cpp, in its scratch folder,
# before the case's own command line.

# The program under test, after the emulator if there is one.
wordmif() { ${WORDMIF_EMULATOR:+"$WORDMIF_EMULATOR"} "$WORDMIF" "$@"; }
export -f wordmif

# The program under strace, given strace's options; a sanitizer's leak
# checker cannot run there.
traced() { ASAN_OPTIONS=detect_leaks=0 timeout 10 strace -qq "$@" "$WORDMIF"; }

# Where the first call of $1 on descriptor $2 stands among the program's
# calls of $1: a sanitizer makes some of its own at start-up.
first() {
    traced -o calls -e trace="$1" < /dev/null > /dev/null
    grep -n "^$1($2[,)]" calls | head -n 1 | cut -d: -f1
}

# Puts the open file of STDIN or STDOUT in non-blocking mode.
non_blocking() { perl -MFcntl -e "fcntl $1, F_SETFL, O_NONBLOCK or die"; }

# Runs the command $@ with its standard output a pipe whose read end is
# closed in every process before the command starts. (perl's exec of a list
# of one would hand a path with shell characters to sh; exec { first } never
# does.)
with_closed_pipe() {
    # shellcheck disable=SC2016 # perl's variables, not the shell's
    perl -e 'pipe R, W or die; close R; open STDOUT, ">&W" or die;
             exec { $ARGV[0] } @ARGV or die' "$@"
}
into_closed_pipe() { with_closed_pipe ${WORDMIF_EMULATOR:+"$WORDMIF_EMULATOR"} "$WORDMIF"; }

# Runs the program with its standard output a memory file sealed against
# writes, where every write fails with EPERM. memfd_create is system call
# 319 on x86_64, the one processor that Wine runs the tests on; its name
# must be a writable string. fcntl 1033 is F_ADD_SEALS, 8 F_SEAL_WRITE.
into_sealed_file() {
    # shellcheck disable=SC2016 # perl's variables, not the shell's
    perl -e 'my $fd = syscall(319, my $name = "sealed", 2); $fd >= 0 or die "memfd: $!";
             open my $file, "+<&=", $fd or die; fcntl $file, 1033, 8 or die "seal: $!";
             open STDOUT, ">&", $file or die; exec { $ARGV[0] } @ARGV or die' \
        ${WORDMIF_EMULATOR:+"$WORDMIF_EMULATOR"} "$WORDMIF"
}

# Opens the FIFO $1 for writing as descriptor 3 without sending anything, so
# that a non-blocking reader's first read finds no data.
hold_fifo() { mkfifo "$1" && exec 3<> "$1"; }

# Waits until the strace log $1 shows the program waiting on a stream, for
# at most 10 seconds. It looks first after a moment, so that a program that
# polls without waiting has polled many times by then.
seen_waiting() {
    local i
    for ((i = 0; i < 200; i++)); do
        sleep 0.05
        grep -q poll "$1" 2> /dev/null && return
    done
}

# Runs the command line $1 on the FIFOs i and o, types lines into it, and
# prints what has come out after each: the header, then each line's own
# output line. $2 is printf's format for what ends the input. A line that
# does not come within 10 seconds ends the run.
typed() {
    mkfifo i o
    eval "$1" '< i > o &'
    exec 3> i 4< o
    lines() {
        local n l
        for ((n = 0; n < $1; n++)); do
            IFS= read -t 10 -r l <&4 || exit 1
            echo "$l"
        done
    }
    lines 5
    printf '0000000000000001\n' >&3
    lines 1
    printf '\t0000000000000010 \r\n' >&3
    lines 1
    # shellcheck disable=SC2059 # the format is the caller's
    printf "$2" >&3
    exec 3>&-
    cat <&4
    wait $!
}

# What a table of cases needs of this machine. Each exits with 77, saying
# why, where it is not to be had; the test is then reported as skipped.

can_trace() {
    command -v strace > /dev/null || { echo 'strace is not installed'; exit 77; }
    strace -qq -o /dev/null true 2> /dev/null ||
        { echo 'strace cannot trace here: ptrace fails, as under qemu-user'; exit 77; }
}

can_make_fifo() {
    mkfifo probe 2> /dev/null || { echo "no FIFO can be made in $PWD"; exit 77; }
    rm probe
}

# A file of 2 GiB and more that takes no room: where the file system cannot
# leave a hole, it would write all of it.
can_make_sparse_file() {
    local kib
    kib=$(truncate -s 2200000000 probe 2> /dev/null && du -k probe | cut -f 1)
    rm -f probe
    [ "${kib:-1024}" -lt 1024 ] || { echo "no sparse file can be made in $PWD"; exit 77; }
}

# A program started in an address space of $ADDRESS_SPACE bytes (or an
# unbounded one): qemu-user cannot start in one of a few MiB.
can_bound_memory() {
    command -v prlimit > /dev/null || { echo 'prlimit is not installed'; exit 77; }
    prlimit --as="${ADDRESS_SPACE:-unlimited}" true 2> /dev/null ||
        { echo "no program starts in an address space of ${ADDRESS_SPACE:-any size} here"; exit 77; }
}

# A SIGPIPE ignored here is still ignored in a program that
# with_closed_pipe starts: qemu-user loses it when an emulated program starts
# another. Where it is ignored, the write fails and the shell goes on.
keeps_sigpipe_ignored() {
    (
        trap '' PIPE
        with_closed_pipe sh -c 'echo 2> /dev/null; exit 0'
    ) || { echo 'an ignored SIGPIPE is lost when a program starts another here'; exit 77; }
}
