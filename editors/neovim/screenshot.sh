#!/usr/bin/env bash
# Draws docs/neovim-lsp.png: Neovim, headless in tmux, with quenta lsp's
# diagnostics and width hints on the worked example. The screen is read
# with capture-pane (colours kept), turned into HTML by aha, and drawn by
# headless Chromium.
#
# Usage: editors/neovim/screenshot.sh [QUENTA]   (default build/default/bin/quenta)
set -euo pipefail
cd "$(dirname "$0")/../.."
quenta=$(realpath "${1:-build/default/bin/quenta}")
work=$(mktemp -d)
trap 'tmux -L quenta-shot kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
cp examples/scripts/scene.txt "$work/scene.txt"
cat > "$work/init.lua" <<LUA
vim.opt.termguicolors = true
vim.opt.number = true
vim.opt.signcolumn = 'yes'
vim.cmd('colorscheme default')
vim.diagnostic.config({ virtual_text = { spacing = 1, format = function(d) return d.code end }, underline = true })
dofile('$PWD/editors/neovim/quenta.lua').setup({ cmd = { '$quenta', 'lsp' }, window = '480x96', maxLines = 2 })
LUA
tmux -L quenta-shot -f /dev/null new-session -d -x 120 -y 10 \
  "cd '$work' && nvim --clean -n -u init.lua scene.txt"
# Wait until the width hints are drawn: they come after the diagnostics.
for _ in $(seq 1 200); do
  if tmux -L quenta-shot capture-pane -p | grep -q '324/480 px'; then break; fi
  sleep 0.1
done
tmux -L quenta-shot capture-pane -p | grep -q '324/480 px' || { echo "screenshot: no width hints drawn" >&2; exit 1; }
tmux -L quenta-shot capture-pane -e -p | aha --black --title "quenta lsp in Neovim" > "$work/screen.html"
sed -i 's|<pre>|<pre style="font-family: monospace; font-size: 15px; margin: 8px">|' "$work/screen.html"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1110,210 \
  --screenshot="$PWD/docs/neovim-lsp.png" "file://$work/screen.html" 2>/dev/null
echo "wrote docs/neovim-lsp.png"
