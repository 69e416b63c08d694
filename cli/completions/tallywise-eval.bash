# shellcheck shell=bash
# Bash completion of tallywise-eval: its options, file names after -f and
# --file, the decimal places after -d and --decimals.
_tallywise_eval() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  # --file=NAME and --decimals=N arrive as "--file" "=" "NAME" with the
  # default word breaks.
  if [ "$prev" = "=" ] && [ "$COMP_CWORD" -ge 2 ]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  elif [ "$cur" = "=" ]; then
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    cur=
  fi
  case $prev in
    -f | --file)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
      ;;
    -d | --decimals)
      mapfile -t COMPREPLY < <(compgen -W "0 1 2 3 4 5 6 7 8 9" -- "$cur")
      return
      ;;
  esac
  local word
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    # After "--" every argument is an expression.
    [ "$word" = "--" ] && return
  done
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "-d --decimals= -f --file= --aligned --grouping -x --exact -h --help --version --" -- "$cur")
    [[ ${COMPREPLY[0]-} == *= ]] && compopt -o nospace 2>/dev/null
  fi
}
complete -F _tallywise_eval tallywise-eval
