#!/usr/bin/env bash
# The bash completion of zemtral-cli against the built tool: subcommands, their options read from
# the generated help, the values of an option with a list of names, and file names for FILE.
set -u
completion=$1
tool_dir=$2
PATH="$tool_dir:$PATH"
source "$completion"
failures=0

complete_line() {
    # Completes the last word of the line as bash would after a <Tab>.
    read -r -a COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _zemtral_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

expect() {
    local got
    got=$(complete_line "$1")
    if [[ " $got" != *" $2 "* ]]; then
        echo "FAIL: '$1' offers '$got', not '$2'"
        failures=$((failures + 1))
    fi
}

reject() {
    local got
    got=$(complete_line "$1")
    if [[ " $got" == *" $2 "* ]]; then
        echo "FAIL: '$1' offers '$2'"
        failures=$((failures + 1))
    fi
}

expect "zemtral-cli si" simulate
expect "zemtral-cli ge" generate
expect "zemtral-cli " --version
expect "zemtral-cli simulate --mo" --model
expect "zemtral-cli simulate --model 2 --" --rates
reject "zemtral-cli halflife --" --rates
expect "zemtral-cli simulate --format " csv
expect "zemtral-cli evaluate --format " table
expect "zemtral-cli fit --format " csv
reject "zemtral-cli fit --format " table
expect "zemtral-cli simulate --unit " min
expect "zemtral-cli evaluate fir" first-order
expect "zemtral-cli reactor c" cstr
expect "zemtral-cli generate --noise" --noise-rel
expect "zemtral-cli fit --j" --jobs
cd "$(dirname "$completion")"
expect "zemtral-cli evaluate first-order zemtral-c" zemtral-cli

if ((failures > 0)); then
    exit 1
fi
echo "completion: all cases passed"
