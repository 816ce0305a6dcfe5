-- quenta lsp in Neovim's built-in client, from 0.7 on (Debian 12's).
--
--   require('quenta').setup({ window = '480x96', maxLines = 2 })
--
-- (with this folder on 'runtimepath', or `dofile` this file). The options
-- are the server's settings; `filetypes` says which buffers it attaches to
-- (text, csv, tsv and po by default). Neovim 0.10 and later draw the width
-- hints themselves; before that they are drawn here as virtual text at the
-- end of each line.
local M = {}

local hints = vim.api.nvim_create_namespace('quenta_width_hints')

-- The server's inlay hints as virtual text, for clients that lack them.
local function draw_hints(client, buffer)
  local lines = vim.api.nvim_buf_line_count(buffer)
  client.request('textDocument/inlayHint', {
    textDocument = vim.lsp.util.make_text_document_params(buffer),
    range = { start = { line = 0, character = 0 }, ['end'] = { line = lines, character = 0 } },
  }, function(err, result)
    if err or not vim.api.nvim_buf_is_valid(buffer) then return end
    vim.api.nvim_buf_clear_namespace(buffer, hints, 0, -1)
    for _, hint in ipairs(result or {}) do
      local wide = hint.tooltip and hint.tooltip:find('wider') ~= nil
      pcall(vim.api.nvim_buf_set_extmark, buffer, hints, hint.position.line, 0, {
        virt_text = { { '  ' .. hint.label, wide and 'DiagnosticError' or 'Comment' } },
        virt_text_pos = 'eol',
      })
    end
  end, buffer)
end

function M.setup(options)
  options = options or {}
  local filetypes = options.filetypes or { 'text', 'csv', 'tsv', 'po' }
  options.filetypes = nil
  local cmd = options.cmd or { 'quenta', 'lsp' }
  options.cmd = nil
  local client_id
  vim.api.nvim_create_autocmd('FileType', {
    pattern = filetypes,
    callback = function(event)
      local buffer = event.buf
      if not client_id or not vim.lsp.get_client_by_id(client_id) then
        client_id = vim.lsp.start_client({
          name = 'quenta',
          cmd = cmd,
          root_dir = vim.fn.getcwd(),
          init_options = options,
          settings = { quenta = options },
        })
      end
      vim.lsp.buf_attach_client(buffer, client_id)
      local native = vim.lsp.inlay_hint and vim.lsp.inlay_hint.enable
      if native then
        pcall(vim.lsp.inlay_hint.enable, true, { bufnr = buffer })
        return
      end
      -- Redrawn whenever the server has checked the buffer anew.
      vim.api.nvim_create_autocmd('DiagnosticChanged', {
        buffer = buffer,
        callback = function()
          local client = vim.lsp.get_client_by_id(client_id)
          if client then draw_hints(client, buffer) end
        end,
      })
    end,
  })
end

return M
