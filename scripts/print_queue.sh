#!/usr/bin/env bash
# A private CUPS scheduler for the tests that print through a real queue.
#
# Sourced by the test command: tv_print_queue_start BUILD_DIR starts cupsd
# with its own configuration, spool, logs and PDF output in BUILD_DIR/print-queue,
# adds one cups-pdf queue and makes it the default for the processes started
# after it (CUPS_SERVER, LPDEST, PRINTER); it is stopped when the calling
# script exits, also when the tests fail or the script is interrupted. The
# scheduler listens on a socket in that folder only: the machine's own CUPS
# and its printers are not touched.
#
# Where the machine cannot run it (not root, no cupsd or cups-pdf, the queue
# does not print), it says why and exports TARVELINO_PRINT_QUEUE_SKIPPED with
# the reason; the print tests then skip with that message.
#
# For the tests: TARVELINO_PRINT_QUEUE (the folder: pdf/ holds what the queue
# wrote, spool/ the documents it received, log/ the logs) and
# TARVELINO_PRINT_QUEUE_NAME (the queue).

TV_PRINT_QUEUE_NAME=TarvelinoPDF
TV_CUPSD=/usr/sbin/cupsd
TV_CUPS_PDF_BACKEND=/usr/lib/cups/backend/cups-pdf
TV_CUPS_PDF_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

_tv_pq_say() {
    echo "print queue: $*" >&2
}

_tv_pq_skip() {
    export TARVELINO_PRINT_QUEUE_SKIPPED="$1"
    unset TARVELINO_PRINT_QUEUE TARVELINO_PRINT_QUEUE_NAME
    _tv_pq_say "the tests that print through CUPS will skip: $1"
}

# The folder's path as cupsd and cups-pdf can use it: plain characters only,
# short enough for a socket address, and reachable by the user "lp" that runs
# the filters. Otherwise the folder lives in /tmp and BUILD_DIR/print-queue
# points there.
_tv_pq_usable_here() {
    local dir=$1
    [[ $dir =~ ^[A-Za-z0-9_./+-]+$ ]] || return 1
    [ ${#dir} -le 90 ] || return 1
    runuser -u lp -- test -x "$(dirname "$dir")" 2>/dev/null
}

# The cups-pdf instance of a queue folder: its settings file in /etc/cups is
# named after it.
_tv_pq_instance() {
    printf 'tarvelino-%s' "$(printf '%s' "$1" | md5sum | cut -c1-12)"
}

# Ends a scheduler an earlier run left behind (killed before it could stop
# it): only the process whose pid it recorded, and only while that process is
# still the cupsd of this folder. Its cups-pdf settings file goes too.
_tv_pq_end_stale() {
    local dir=$1 pid
    if [ -f "$dir/cupsd.pid" ]; then
        pid=$(cat "$dir/cupsd.pid")
        if [[ $pid =~ ^[0-9]+$ ]] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF "$dir/etc/cupsd.conf"; then
            kill -TERM "$pid" 2>/dev/null || true
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -KILL "$pid" 2>/dev/null || true
        fi
        rm -f "$dir/cupsd.pid"
    fi
    rm -f "/etc/cups/cups-pdf-$(_tv_pq_instance "$dir").conf"
}

_tv_pq_write_config() {
    local dir=$1 instance=$2
    cat >"$dir/etc/cupsd.conf" <<EOF
# The tests' own scheduler: a socket in this folder, no network, no sharing.
Listen $dir/cups.sock
LogLevel info
MaxLogSize 0
Browsing No
WebInterface No
DefaultShared No
DefaultAuthType None
PreserveJobHistory Yes
PreserveJobFiles Yes
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/state/printcap
FileDevice No
CreateSelfSignedCerts No
EOF
    # cups-pdf reads its settings from /etc/cups only: one file per instance,
    # named after this folder, removed again when the scheduler stops.
    cat >"/etc/cups/cups-pdf-$instance.conf" <<EOF
# Written by Tarvelino's test command for its private print queue in
# $dir; removed when the tests end.
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdf-spool
Log $dir/log
Label 2
UserUMask 0022
EOF
}

# Prints one PostScript page and waits until its PDF is there: the proof that
# cups-pdf runs on this machine.
_tv_pq_check_prints() {
    local dir=$1 id
    printf '%s\n' '%!PS-Adobe-3.0' '%%BoundingBox: 0 0 595 842' '%%Pages: 1' '%%EndComments' \
        '%%Page: 1 1' '/Helvetica findfont 24 scalefont setfont 72 720 moveto (Tarvelino) show' \
        'showpage' '%%EOF' >"$dir/check.ps"
    id=$(lp -d "$TV_PRINT_QUEUE_NAME" -t "queue check" "$dir/check.ps" 2>/dev/null |
        sed -n "s/^request id is $TV_PRINT_QUEUE_NAME-\([0-9]*\).*/\1/p")
    [ -n "$id" ] || return 1
    for _ in $(seq 200); do
        if ! lpstat -o "$TV_PRINT_QUEUE_NAME" 2>/dev/null | grep -q "^$TV_PRINT_QUEUE_NAME-$id "; then
            compgen -G "$dir/pdf/*job_$id*.pdf" >/dev/null || return 1
            rm -f "$dir"/pdf/*.pdf "$dir/check.ps"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

tv_print_queue_start() {
    local build dir real instance pid
    unset TARVELINO_PRINT_QUEUE TARVELINO_PRINT_QUEUE_NAME TARVELINO_PRINT_QUEUE_SKIPPED
    build=$(cd "$1" && pwd)
    dir=$build/print-queue
    _tv_pq_trap_exit

    if [ "$(id -u)" -ne 0 ]; then
        _tv_pq_skip "not run as root (cups-pdf prints only under a scheduler started as root)"
        return 0
    fi
    if [ ! -x "$TV_CUPSD" ]; then
        _tv_pq_skip "no CUPS scheduler $TV_CUPSD (package cups)"
        return 0
    fi
    if [ ! -x "$TV_CUPS_PDF_BACKEND" ] || [ ! -r "$TV_CUPS_PDF_PPD" ]; then
        _tv_pq_skip "no cups-pdf (package printer-driver-cups-pdf)"
        return 0
    fi
    if ! command -v lpadmin >/dev/null || ! command -v lpstat >/dev/null || ! command -v lp >/dev/null; then
        _tv_pq_skip "no lpadmin, lpstat or lp (package cups-client)"
        return 0
    fi

    # A fresh folder each run; what the last run left (logs, PDFs) goes now.
    if [ -L "$dir" ]; then
        real=$(readlink "$dir")
        _tv_pq_end_stale "$real"
        [[ $real == /tmp/tarvelino-print-queue.* ]] && rm -rf "$real"
        rm -f "$dir"
    elif [ -d "$dir" ]; then
        _tv_pq_end_stale "$dir"
        rm -rf "$dir"
    fi
    if _tv_pq_usable_here "$dir"; then
        mkdir -p "$dir"
    else
        real=$(mktemp -d /tmp/tarvelino-print-queue.XXXXXX)
        chmod 755 "$real"
        ln -s "$real" "$dir"
        dir=$real
    fi
    mkdir -p "$dir"/{etc,spool/tmp,cache,state,log,pdf,pdf-spool}
    instance=$(_tv_pq_instance "$dir")
    _tv_pq_write_config "$dir" "$instance"

    TV_PRINT_QUEUE_DIR=$dir
    TV_PRINT_QUEUE_INSTANCE=$instance
    "$TV_CUPSD" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
        </dev/null >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    TV_PRINT_QUEUE_PID=$pid
    echo "$pid" >"$dir/cupsd.pid"

    export CUPS_SERVER=$dir/cups.sock
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        [ -S "$CUPS_SERVER" ] && lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.1
    done
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
        tv_print_queue_stop
        _tv_pq_skip "cupsd did not start (see $dir/log/error_log and $dir/log/cupsd.out)"
        return 0
    fi
    if ! lpadmin -p "$TV_PRINT_QUEUE_NAME" -E -v "cups-pdf:/$instance" -P "$TV_CUPS_PDF_PPD" 2>/dev/null ||
        ! lpadmin -d "$TV_PRINT_QUEUE_NAME" 2>/dev/null; then
        tv_print_queue_stop
        _tv_pq_skip "lpadmin could not add the cups-pdf queue (see $dir/log/error_log)"
        return 0
    fi
    if ! _tv_pq_check_prints "$dir"; then
        tv_print_queue_stop
        _tv_pq_skip "cups-pdf did not print a test page (see $dir/log/cups-pdf-${TV_PRINT_QUEUE_NAME}_log)"
        return 0
    fi
    # Every test process prints to this queue only, whatever the user's own
    # default printer or lpoptions say.
    export LPDEST=$TV_PRINT_QUEUE_NAME PRINTER=$TV_PRINT_QUEUE_NAME
    export TARVELINO_PRINT_QUEUE=$dir TARVELINO_PRINT_QUEUE_NAME=$TV_PRINT_QUEUE_NAME
    _tv_pq_say "private CUPS scheduler on $CUPS_SERVER, default queue $TV_PRINT_QUEUE_NAME (cups-pdf into $dir/pdf)"
}

tv_print_queue_stop() {
    local pid=${TV_PRINT_QUEUE_PID:-}
    if [ -n "$pid" ]; then
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        rm -f "$TV_PRINT_QUEUE_DIR/cupsd.pid" "/etc/cups/cups-pdf-$TV_PRINT_QUEUE_INSTANCE.conf"
        unset TV_PRINT_QUEUE_PID CUPS_SERVER LPDEST PRINTER TARVELINO_PRINT_QUEUE TARVELINO_PRINT_QUEUE_NAME
    fi
    if [ -n "${TARVELINO_PRINT_QUEUE_SKIPPED:-}" ]; then
        _tv_pq_say "the tests that print through CUPS were skipped: $TARVELINO_PRINT_QUEUE_SKIPPED"
    fi
}

# Stops the scheduler when the calling script exits, before whatever the
# script itself had set to run then; an interrupt or a kill ends the script
# through that exit too.
_tv_pq_trap_exit() {
    local previous='' words
    # trap -p prints "trap -- 'command' EXIT", quoted for the shell.
    if [ -n "$(trap -p EXIT)" ]; then
        eval "words=($(trap -p EXIT))"
        previous=${words[2]}
    fi
    [[ $previous == *tv_print_queue_stop* ]] && return 0
    # shellcheck disable=SC2064
    trap "tv_print_queue_stop${previous:+; $previous}" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Run as a command, it runs another with the queue and stops it afterwards:
#   scripts/print_queue.sh build ctest --test-dir build -R print_queue/
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    if [ $# -lt 2 ]; then
        echo "usage: $0 BUILD_DIR COMMAND [ARGUMENT...]" >&2
        exit 2
    fi
    tv_print_queue_build=$1
    shift
    tv_print_queue_start "$tv_print_queue_build"
    "$@"
fi
