#!/usr/bin/env bash
# The service step of tools/run.sh without the program: which program folders
# get the local stand-in service, and that a configuration of the user's own is
# left exactly as it was.
#
#   local_service_test.sh STANDIN
set -u
standin=$1
. "$(dirname "$0")/../../tools/local_service.sh"

mark='; written by tabro_standin, the local stand-in service; removed when it stops'
failures=0
work=$(mktemp -d)
trap 'local_service_stop; rm -rf "$work"' EXIT

fail() {
  echo "FAILED $case_name: $*" >&2
  failures=$((failures + 1))
}

# Each case: its name, whether the stand-in serves, then the files that are
# in the program folder first (name and text; the text "MARKED ..." stands for
# a file the stand-in wrote, beginning with its mark).
cases=(
  "empty folder|serves"
  "user's deployment|own|TabroDeployment.ini|ServerBaseUrl=https://docs.example.test\r\nUserId=me\r\n"
  "user's system settings|own|TabroSystem.ini|OperationMode=1\r\nOnpremisesServer=http://10.0.0.5\r\n"
  "on-premises file|own|TabroSystemOnpremises.ini|OnpremisesServer=http://10.0.0.5\r\n"
  "stand-in's deployment of an earlier run|serves|TabroDeployment.ini|MARKED ServerBaseUrl=http://127.0.0.1:9\r\n"
  "stand-in's deployment, user's system settings|own|TabroDeployment.ini|MARKED ServerBaseUrl=http://127.0.0.1:9\r\n|TabroSystem.ini|ProxyType=3\r\n"
  "mark not on the first line|own|TabroDeployment.ini|ServerBaseUrl=http://x\r\n$mark\r\n"
)

for entry in "${cases[@]}"; do
  IFS='|' read -r -a f <<<"$entry"
  case_name=${f[0]} want=${f[1]}
  folder="$work/$case_name"
  mkdir -p "$folder"
  for ((i = 2; i + 1 < ${#f[@]}; i += 2)); do
    text=${f[$((i + 1))]}
    case "$text" in MARKED\ *) text="$mark\r\n${text#MARKED }" ;; esac
    printf "$text" >"$folder/${f[$i]}"
  done
  cp -a "$folder" "$folder.before"

  local_service_start "$folder" "$standin" >"$work/out" 2>&1 || fail "the step failed: $(cat "$work/out")"
  out=$(cat "$work/out")
  if [ "$want" = serves ]; then
    [ -n "$LOCAL_SERVICE_PID" ] || fail "the stand-in did not start: $out"
    grep -q '^Documents come from the local stand-in service (http://127\.0\.0\.1:[0-9]*, ' <<<"$out" ||
      fail "no line about the local stand-in: $out"
    head -n 1 "$folder/TabroDeployment.ini" | grep -qF "$mark" || fail "the deployment is not the stand-in's"
    grep -q "^ServerBaseUrl=$LOCAL_SERVICE_URL"$'\r'"$" "$folder/TabroDeployment.ini" ||
      fail "the deployment does not name the running stand-in ($LOCAL_SERVICE_URL)"
    local_service_answers "$LOCAL_SERVICE_URL" || fail "nothing answers at $LOCAL_SERVICE_URL"
    url=$LOCAL_SERVICE_URL pid=$LOCAL_SERVICE_PID
    local_service_stop
    kill -0 "$pid" 2>/dev/null && fail "the stand-in outlived its stop"
    local_service_answers "$url" && fail "something still answers at $url"
    for name in TabroDeployment.ini TabroSystem.ini; do
      [ -e "$folder/$name" ] && fail "$name is left behind after the stop"
    done
  else
    [ -z "$LOCAL_SERVICE_PID" ] && grep -q '^Documents come from the service that .* names' <<<"$out" ||
      fail "the stand-in started over the user's configuration: $out"
    diff -r "$folder.before" "$folder" >/dev/null || fail "the program folder changed: $(diff -r "$folder.before" "$folder")"
    local_service_stop
  fi
done

echo "local service: ${#cases[@]} cases, $failures failed"
[ "$failures" -eq 0 ]
