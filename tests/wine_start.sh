#!/bin/sh
# Run by the Wine tests' set-up as: wine_start.sh WINE WINESERVER. Makes the
# Wine prefix and starts a lasting server with Wine's own services, all on
# /dev/null: a service started by a run under test would hold that run's
# output pipes open. The runs then say nothing about setting Wine up, and
# start quickly.
wine=$1
wineserver=$2
"$wineserver" -k
exec < /dev/null > /dev/null 2>&1
"$wine" wineboot --init && "$wineserver" -w && "$wineserver" -p && "$wine" cmd /c exit
