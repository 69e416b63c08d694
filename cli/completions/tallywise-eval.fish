# Fish completion of tallywise-eval: its options, file names after -f and
# --file, the decimal places after -d and --decimals. Every other argument is
# an expression, where file names would be no help; after -- nothing but
# expressions follow.
function __tallywise_eval_options_end
    contains -- -- (commandline -opc)
end

complete -c tallywise-eval -f
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -s d -l decimals -x -a '0 1 2 3 4 5 6 7 8 9' -d 'Decimal places of the results'
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -s f -l file -r -F -d 'Read expressions from FILE (- is standard input)'
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -l aligned -d 'One output line for every input line'
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -l grouping -d 'Results with the digit groups of the locale'
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -s x -l exact -d 'Exact arithmetic in place of the classic rules'
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -s h -l help -d 'Show the usage and the rules'
complete -c tallywise-eval -n 'not __tallywise_eval_options_end' -l version -d 'Show the version'
