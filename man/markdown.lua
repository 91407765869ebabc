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


-- A Japanese page runs its sentences on without a blank, but its source
-- has one sentence a line (joined by \c, which pandoc does not read): the
-- blank a line end leaves after 。 or 、 goes.
local function japanese_joins(inlines)
  local out = {}
  for i, x in ipairs(inlines) do
    local previous = inlines[i - 1]
    local joined = (x.t == "Space" or x.t == "SoftBreak") and previous and previous.t == "Str"
      and (previous.text:sub(-3) == "。" or previous.text:sub(-3) == "、")
    if not joined then
      table.insert(out, x)
    end
  end
  return out
end

return {{Strong = outside, Emph = outside}, {Inlines = japanese_joins}}
