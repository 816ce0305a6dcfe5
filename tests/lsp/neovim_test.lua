-- Neovim's own LSP client against `quenta lsp`: open the worked example,
-- receive its diagnostics, apply the code action that mends the malformed
-- size tag, format (wrap) the buffer, and compare the buffer's text with
-- the expected script. Every wait is on an event, bounded generously; the
-- bound only fails the test.
--
-- nvim --headless --clean -c "luafile neovim_test.lua", with QUENTA (the
-- program), SCENE (the script) and EXPECTED (the buffer's text at the end).
local quenta, scene, expected = os.getenv('QUENTA'), os.getenv('SCENE'), os.getenv('EXPECTED')
local bound = 60000

local function fail(message)
  io.stderr:write('neovim_test: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local ok, problem = pcall(function()
  vim.cmd('edit ' .. vim.fn.fnameescape(scene))
  local buffer = vim.api.nvim_get_current_buf()
  local client_id = vim.lsp.start_client({
    name = 'quenta',
    cmd = { quenta, 'lsp' },
    root_dir = vim.fn.fnamemodify(scene, ':h'),
    init_options = { window = '480x96', maxLines = 2, formatting = true },
  })
  assert(client_id, 'the server did not start')
  vim.lsp.buf_attach_client(buffer, client_id)

  -- The worked example's five findings.
  if not vim.wait(bound, function() return #vim.diagnostic.get(buffer) == 5 end, 20) then
    fail('expected 5 diagnostics, got ' .. #vim.diagnostic.get(buffer))
  end
  local codes = {}
  for _, d in ipairs(vim.diagnostic.get(buffer)) do codes[#codes + 1] = (d.lnum + 1) .. ':' .. (d.col + 1) .. ' ' .. tostring(d.code or d.user_data and d.user_data.lsp and d.user_data.lsp.code) end
  table.sort(codes)
  local want = { '3:18 malformed-tag', '3:33 empty-close', '3:40 line-too-wide', '5:11 unknown-tag', '7:1 unclosed-style' }
  table.sort(want)
  assert(table.concat(codes, ', ') == table.concat(want, ', '), 'diagnostics: ' .. table.concat(codes, ', '))

  -- The code action on "<S 32>", chosen through the client's own menu.
  local chosen = false
  vim.ui.select = function(items, _, on_choice)
    for index, item in ipairs(items) do
      local action = item.action or item[2]
      if action and action.title == 'Write <S32> for <S 32>' then
        chosen = true
        return on_choice(item, index)
      end
    end
    on_choice(nil, nil)
  end
  vim.api.nvim_win_set_cursor(0, { 3, 19 })
  vim.lsp.buf.code_action()
  local mended = 'Ren: Not really. <S32>The storm</S> kept me up all night long.'
  if not vim.wait(bound, function() return vim.api.nvim_buf_get_lines(buffer, 2, 3, false)[1] == mended end, 20) then
    fail('the code action was ' .. (chosen and 'chosen but not applied' or 'not offered') .. ': line 3 is ' ..
      vim.api.nvim_buf_get_lines(buffer, 2, 3, false)[1])
  end
  -- The server has the change once its diagnostics lose the malformed tag.
  if not vim.wait(bound, function() return #vim.diagnostic.get(buffer) == 3 end, 20) then
    fail('after the fix, expected 3 diagnostics, got ' .. #vim.diagnostic.get(buffer))
  end

  -- Formatting wraps the message that the bigger size made too wide.
  if vim.lsp.buf.format then
    vim.lsp.buf.format({ timeout_ms = bound })
  else
    vim.lsp.buf.formatting_sync(nil, bound)
  end
  local text = table.concat(vim.api.nvim_buf_get_lines(buffer, 0, -1, false), '\n') .. '\n'
  local file = assert(io.open(expected, 'rb'))
  local wanted = file:read('*a')
  file:close()
  assert(text == wanted, 'the buffer after formatting:\n' .. text)
  vim.lsp.stop_client(client_id)
end)
if not ok then fail(tostring(problem)) end
io.stderr:write('neovim_test: 1 passed, 0 failed\n')
vim.cmd('qall!')
