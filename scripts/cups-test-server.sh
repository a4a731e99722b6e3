# Private CUPS server for the printing tests: its own configuration, spool,
# cache and logs in a temporary folder, a free loopback port, and one printer
# "mirt-test" that writes each job as a PDF file (what the print filters made
# of it: copies and page selection applied). Sourced by run-tests.sh; exports
# for the tests (and for Qt's CUPS back end):
#   CUPS_SERVER         127.0.0.1:PORT of the private server
#   MIRT_CUPS_PRINTER   the test printer's name
#   MIRT_CUPS_OUTPUT    the file the printer writes (the last job)
# cups_start returns non-zero and says why on stderr when no server can run;
# the tests then report their printing cases as skipped. The machine's own
# CUPS configuration is never read or written.
cups_start() {
  local cupsd lpadmin
  cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
  lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
  if [ ! -x "$cupsd" ] || [ ! -x "$lpadmin" ]; then
    echo "cups-test-server: the CUPS server programs (cupsd, lpadmin) are not installed" >&2
    return 1
  fi
  if [ ! -x /usr/lib/cups/filter/pdftopdf ]; then
    echo "cups-test-server: the pdftopdf filter (cups-filters) is not installed" >&2
    return 1
  fi
  MIRT_CUPS_DIR=$(mktemp -d /tmp/mirt-cups.XXXXXX) || return 1
  export MIRT_CUPS_DIR
  local d=$MIRT_CUPS_DIR
  mkdir -p "$d/etc/ppd" "$d/etc/ssl" "$d/spool/tmp" "$d/cache" "$d/state/certs" "$d/log" "$d/out"
  # The filters run as an unprivileged user that must reach the spool and
  # write the output.
  local user group
  user=$(id -un) group=$(id -gn)
  [ "$(id -u)" -eq 0 ] && id lp >/dev/null 2>&1 && user=lp group=lp
  chmod 0755 "$d"
  [ "$(id -u)" -eq 0 ] && chown -R "$user:$group" "$d/spool" "$d/cache" "$d/out"
  chmod 0777 "$d/out"

  cat >"$d/etc/cups-files.conf" <<EOF
ServerRoot $d/etc
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
AccessLog $d/log/access_log
ErrorLog $d/log/error_log
PageLog $d/log/page_log
Printcap $d/state/printcap
User $user
Group $group
SystemGroup root $(id -gn)
FileDevice Yes
Sandboxing Relaxed
EOF

  # A printer that keeps PDF: pdftopdf lays out copies, collation and the
  # page range; its output goes to the file unchanged.
  cat >"$d/etc/ppd/mirt-test.ppd" <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "MIRTTEST.PPD"
*Manufacturer: "Mirt"
*Product: "(Mirt test printer)"
*ModelName: "Mirt test printer"
*ShortNickName: "Mirt test printer"
*NickName: "Mirt test printer, PDF to a file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsManualCopies: True
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize A3/A3: "<</PageSize[842 1191]>>setpagedevice"
*PageSize A5/A5: "<</PageSize[420 595]>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize Legal/US Legal: "<</PageSize[612 1008]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion A3/A3: "<</PageSize[842 1191]>>setpagedevice"
*PageRegion A5/A5: "<</PageSize[420 595]>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion Legal/US Legal: "<</PageSize[612 1008]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea A3/A3: "0 0 842 1191"
*ImageableArea A5/A5: "0 0 420 595"
*ImageableArea Letter/US Letter: "0 0 612 792"
*ImageableArea Legal/US Legal: "0 0 612 1008"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension A3/A3: "842 1191"
*PaperDimension A5/A5: "420 595"
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension Legal/US Legal: "612 1008"
*DefaultFont: Courier
*Font Courier: Standard "(001.004)" Standard ROM
EOF

  # Several test runs may share the machine: take the first port that works.
  local port started=""
  for port in $(seq "${MIRT_CUPS_PORT:-56310}" $(( ${MIRT_CUPS_PORT:-56310} + 40 ))); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    cat >"$d/etc/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
LogLevel info
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
WebInterface No
PreserveJobFiles No
PreserveJobHistory Yes
MaxJobs 0
JobRetryLimit 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    "$cupsd" -f -c "$d/etc/cupsd.conf" -s "$d/etc/cups-files.conf" >"$d/log/cupsd.out" 2>&1 &
    MIRT_CUPS_PID=$!
    local i
    for i in $(seq 1 50); do
      kill -0 "$MIRT_CUPS_PID" 2>/dev/null || break
      if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        started=$port
        break
      fi
      sleep 0.1
    done
    [ -n "$started" ] && break
    kill "$MIRT_CUPS_PID" 2>/dev/null
    wait "$MIRT_CUPS_PID" 2>/dev/null
    unset MIRT_CUPS_PID
  done
  if [ -z "$started" ]; then
    echo "cups-test-server: the server did not start:" >&2
    tail -n 5 "$d/log/error_log" "$d/log/cupsd.out" >&2 2>/dev/null
    rm -rf "$d"; unset MIRT_CUPS_DIR
    return 1
  fi
  export MIRT_CUPS_PID
  export CUPS_SERVER=127.0.0.1:$started
  export MIRT_CUPS_PRINTER=mirt-test
  export MIRT_CUPS_OUTPUT=$d/out/mirt-test.pdf
  if ! "$lpadmin" -h "$CUPS_SERVER" -p "$MIRT_CUPS_PRINTER" -E -v "file://$MIRT_CUPS_OUTPUT" \
       -P "$d/etc/ppd/mirt-test.ppd" >>"$d/log/cupsd.out" 2>&1 ||
     ! "$lpadmin" -h "$CUPS_SERVER" -d "$MIRT_CUPS_PRINTER" >>"$d/log/cupsd.out" 2>&1; then
    echo "cups-test-server: could not add the test printer:" >&2
    tail -n 5 "$d/log/cupsd.out" "$d/log/error_log" >&2 2>/dev/null
    cups_stop
    return 1
  fi
  return 0
}

cups_stop() {
  if [ -n "${MIRT_CUPS_PID:-}" ]; then
    kill "$MIRT_CUPS_PID" 2>/dev/null
    wait "$MIRT_CUPS_PID" 2>/dev/null
  fi
  [ -n "${MIRT_CUPS_DIR:-}" ] && rm -rf "$MIRT_CUPS_DIR"
  unset MIRT_CUPS_DIR MIRT_CUPS_PID CUPS_SERVER MIRT_CUPS_PRINTER MIRT_CUPS_OUTPUT
}
