// The checks every library function makes before it calculates: an argument
// that is not a number, or a number outside the function's domain, ends the
// line with an error that shows the call as it was made, instead of a quiet
// nan. A nan argument is passed through: it comes from arithmetic that
// already showed it.
function domaincheck(name,args){
  for(var i=0;i<args.length;++i){
    if(typeof args[i]!=="number")
      throw domainerror(name,args,qsTranslate("domain","%1: the argument must be a number"));
  }
}
// True when one of the arguments is a nan, which arithmetic made and which
// the functions of whole numbers pass through.
function nancheck(args){
  for(var i=0;i<args.length;++i){
    if(typeof args[i]==="number"&&args[i]!==args[i])return true;
  }
  return false;
}
// The check of the functions of any number of arguments: at least one.
function nonemptycheck(name,args){
  if(args.length===0)
    throw Error(qsTranslate("domain","%1: there must be at least one argument").arg(name+"()"));
}
// The error for a call of name on args; text holds %1 where the call goes.
function domainerror(name,args,text){
  var shown=[];
  for(var i=0;i<args.length;++i)shown.push(domainshown(args[i]));
  return Error(text.arg(name+"("+shown.join(",")+")"));
}
// A value as the engine prints it: a number in the engine's number text
// (inf and nan in its own words), a text quoted, a missing argument as
// nothing.
function domainshown(value){
  if(value===undefined)return "";
  if(typeof value==="string")return "\""+value+"\"";
  if(typeof value!=="number")return String(value);
  return NumberText(value);
}
