# Replaces the section of a Markdown file that starts with the given heading
# line, up to the end of the file, by standard input; appends it when missing.
# Usage: replace_section FILE HEADING < new-section
replace_section() {
    local file=$1 heading=$2 kept
    kept=$(awk -v heading="$heading" '$0 == heading { exit } { print }' "$file")
    { printf '%s\n\n' "$kept"; cat; } > "$file.new"
    mv "$file.new" "$file"
}
