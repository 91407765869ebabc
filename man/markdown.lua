-- Pandoc filter for the Markdown rendering of the manual pages. Markdown
-- emphasis cannot begin or end with a blank, where roff's font changes
-- (.B " [ 1] : ", .BI "item " n) often do: such blanks move outside it.
local function outside(el)
  local before, after = {}, {}
  while #el.content > 0 and el.content[1].t == "Space" do
    table.remove(el.content, 1)
    before = {pandoc.Space()}
  end
  while #el.content > 0 and el.content[#el.content].t == "Space" do
    table.remove(el.content)
    after = {pandoc.Space()}
  end
  if #el.content == 0 then
    return before
  end
  local out = {}
  for _, x in ipairs(before) do table.insert(out, x) end
  table.insert(out, el)
  for _, x in ipairs(after) do table.insert(out, x) end
  return out
end

return {{Strong = outside, Emph = outside}}
